// Uniform lookups of the effect shader classes. The plain texture and font
// programs have none; the effect programs add theirs here.
#include "graphics/shader.h"

#define QUORVELLA_EMPTY_PARAMETERS(object, Class, id, flags, param) \
    void Class::initialize_parameters() {}
QUORVELLA_SHADER_TABLE(QUORVELLA_EMPTY_PARAMETERS)
#undef QUORVELLA_EMPTY_PARAMETERS
