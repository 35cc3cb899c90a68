# quorvella_generate(<target> SCRIPT <script> OUTPUTS <files...>
#                    [INPUTS <tables...>] [ARGS <arguments...>])
# Runs a python3 generator at build time, as
#   python3 -B <script> <arguments...> --inputs <tables...> --outputs <files...>
# (-B: no bytecode caches in the source tree).
# OUTPUTS are paths under ${CMAKE_BINARY_DIR}/generated, named as the files
# would be in the source tree ("audio/mix_tables.cpp"), so they are included
# as "audio/..." like any other header. They become sources of <target>,
# and the generated folder goes on its public include path. The command
# reruns when the script, the shared generator module or a table changes;
# the scripts rewrite only outputs whose text changed, so nothing relinks
# needlessly. Generated files are never globbed and never edited by hand.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(QUORVELLA_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")

function(quorvella_generate target)
  cmake_parse_arguments(PARSE_ARGV 1 gen "" "SCRIPT" "OUTPUTS;INPUTS;ARGS")
  if(gen_UNPARSED_ARGUMENTS OR NOT gen_SCRIPT OR NOT gen_OUTPUTS)
    message(FATAL_ERROR "quorvella_generate(${target}): needs SCRIPT and OUTPUTS "
                        "(left over: ${gen_UNPARSED_ARGUMENTS})")
  endif()
  cmake_path(ABSOLUTE_PATH gen_SCRIPT BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
             OUTPUT_VARIABLE script)
  set(inputs "")
  foreach(input IN LISTS gen_INPUTS)
    cmake_path(ABSOLUTE_PATH input BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
               OUTPUT_VARIABLE input)
    list(APPEND inputs "${input}")
  endforeach()
  set(outputs "")
  foreach(output IN LISTS gen_OUTPUTS)
    if(IS_ABSOLUTE "${output}")
      message(FATAL_ERROR "quorvella_generate(${target}): ${output}: outputs are "
                          "named relative to the generated folder")
    endif()
    list(APPEND outputs "${QUORVELLA_GENERATED_DIR}/${output}")
  endforeach()

  list(JOIN gen_OUTPUTS " " shown)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND "${Python3_EXECUTABLE}" -B "${script}" ${gen_ARGS}
            --inputs ${inputs} --outputs ${outputs}
    DEPENDS "${script}" "${CMAKE_SOURCE_DIR}/tools/generators/generated.py" ${inputs}
    COMMENT "Generating ${shown}"
    VERBATIM)
  # The command belongs to a target of its own, which depends on nothing:
  # as part of <target> it would wait for every library <target> links.
  list(GET gen_OUTPUTS 0 first)
  string(MAKE_C_IDENTIFIER "generate_${first}" step)
  add_custom_target(${step} DEPENDS ${outputs})
  add_dependencies(${target} ${step})
  target_sources(${target} PRIVATE ${outputs})
  target_include_directories(${target} PUBLIC "${QUORVELLA_GENERATED_DIR}")
endfunction()
