# Build helpers shared by every area of the game.
#
# Each area is a folder of sources that becomes one static library; the sources are globbed so that
# adding a file needs no edit here. An area with no sources yet becomes an interface library, so
# that the areas above it link the same way before and after it is filled.

set(KORVEX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

function(korvex_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KORVEX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(KORVEX_SANITIZE)
    target_compile_options(${target} PRIVATE ${KORVEX_SANITIZER_FLAGS})
    target_link_options(${target} PUBLIC ${KORVEX_SANITIZER_FLAGS})
  endif()
endfunction()

# korvex_library(NAME DIRS dir... [EXCLUDE file...] [DEPS lib...] [PRIVATE_DEPS lib...])
function(korvex_library name)
  cmake_parse_arguments(A "" "" "DIRS;EXCLUDE;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS A_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  foreach(ex IN LISTS A_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${ex}$")
  endforeach()
  korvex_layer_includes(${name} ${A_DIRS})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_BINARY_DIR}/layers/${name})
    target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
    korvex_target_options(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_BINARY_DIR}/layers/${name})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# The folders of src/ stand as layers: each library sees its own folders and, through what it links, the
# folders below it, and nothing else. Its include folder therefore holds links to its own folders only,
# so an include that reaches up or sideways names a file the compiler cannot find and the build fails.
function(korvex_layer_includes name)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  foreach(dir IN LISTS ARGN)
    get_filename_component(parent "${root}/${dir}" DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${dir}" "${root}/${dir}" SYMBOLIC)
  endforeach()
endfunction()

# korvex_tests(NAME LABEL label DIRS dir... DEPS lib... [PATTERN glob] [EXCLUDE regex...] [TIMEOUT s] [COST c] [NEEDS_DATA]
#              [DRIVERS])
# One test program per area, each test case registered with CTest under the area's label.
# DRIVERS: the program opens the video or audio system. Their drivers are loaded and unloaded at run
# time and leave allocations behind in modules that are gone by exit, which the leak checker can
# neither name nor be told to ignore; leak checking is off for such programs (the rest of ASan is on).
function(korvex_tests name)
  cmake_parse_arguments(A "NEEDS_DATA;DRIVERS" "LABEL;PATTERN;TIMEOUT;COST" "DIRS;DEPS;EXCLUDE" ${ARGN})
  if(NOT A_PATTERN)
    set(A_PATTERN "*.cpp")
  endif()
  set(sources)
  foreach(dir IN LISTS A_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${dir}/${A_PATTERN}")
    list(APPEND sources ${found})
  endforeach()
  foreach(ex IN LISTS A_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ex}")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/test_environment.cpp)
  if(A_DRIVERS)
    target_compile_definitions(${name} PRIVATE KORVEX_TEST_USES_DRIVERS=1)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} korvex_test_support GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KORVEX_DATA_DIR="${CMAKE_BINARY_DIR}/data"
    KORVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  korvex_target_options(${name})
  if(A_NEEDS_DATA)
    add_dependencies(${name} korvex_data)
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  # A long test given a high cost is started first, so the others run beside it.
  if(NOT A_COST)
    set(A_COST 0)
  endif()
  gtest_discover_tests(${name}
    TEST_PREFIX "${A_LABEL}."
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${A_LABEL} TIMEOUT ${A_TIMEOUT} COST ${A_COST})
endfunction()
