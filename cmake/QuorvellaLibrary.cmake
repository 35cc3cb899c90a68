# quorvella_library(<name> <folder> <dependencies...>)
# A static library of every .cpp file in <folder> (not its subfolders).
# A folder without sources yet gets an empty translation unit, so that the
# dependency graph stays the same while subsystems are filled in.
function(quorvella_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${folder}/*.cpp")
  if(NOT sources)
    set(empty "${CMAKE_BINARY_DIR}/empty/${name}.cpp")
    # Written only when its text changes, so a new configure relinks nothing.
    file(CONFIGURE OUTPUT "${empty}" CONTENT "// ${folder} has no sources yet\n")
    set(sources "${empty}")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_include_directories(${name} SYSTEM PUBLIC ${STB_INCLUDE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
