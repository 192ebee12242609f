# Helper functions shared by every subsystem's build file.

set(VX_WARNINGS -Wall -Wextra -Wpedantic -Wno-unused-parameter)

# vx_logic_library(NAME SOURCES ... DEPS ...)
# A subsystem's logic: plain C++, never Qt.
function(vx_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${VX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# vx_ui_library(NAME SOURCES ... DEPS ...)
# A subsystem's screens: Qt Widgets on top of its logic library.
function(vx_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT VEXLINE_WITH_GUI)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${VX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets Qt6::PrintSupport)
endfunction()

# vx_test(NAME SOURCES ... DEPS ... [GUI])
# One GoogleTest executable; GUI tests run on the offscreen platform.
function(vx_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_GUI AND NOT VEXLINE_WITH_GUI)
    return()
  endif()
  # A test of libraries this configuration does not build (the command-line
  # program without Qt, say) is left out.
  foreach(dep IN LISTS ARG_DEPS)
    if(dep MATCHES "^vx_" AND NOT TARGET ${dep})
      return()
    endif()
  endforeach()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${VX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} vx_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(props)
  if(ARG_GUI)
    set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

# vx_embed_files(TARGET BASE_DIR FILES ...)
# Compiles files into the program as byte arrays, listed by their path
# relative to BASE_DIR, behind the function VxEmbeddedFiles().
function(vx_embed_files target base_dir)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_embedded.cpp)
  set(body "")
  set(list "")
  set(i 0)
  foreach(file IN LISTS ARGN)
    file(RELATIVE_PATH rel ${base_dir} ${file})
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND body "static const unsigned char kData${i}[] = {${bytes}0};\n")
    string(APPEND list "  {\"${rel}\", kData${i}, ${size}},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  file(WRITE ${out}.tmp
    "// Generated: the files a fresh installation holds.\n"
    "#include \"shell/embedded_files.h\"\n"
    "namespace vx {\n${body}\n"
    "const std::vector<EmbeddedFile>& VxEmbeddedFiles() {\n"
    "  static const std::vector<EmbeddedFile> files = {\n${list}  };\n"
    "  return files;\n}\n}  // namespace vx\n")
  configure_file(${out}.tmp ${out} COPYONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
  target_sources(${target} PRIVATE ${out})
endfunction()

# vx_fuzz_target(NAME SOURCES ... DEPS ...)
# A fuzz target: a file defining LLVMFuzzerTestOneInput, whose committed corpus
# is fuzz/corpus/NAME. With VEXLINE_FUZZ it is a libFuzzer program (clang);
# otherwise a replay program. Either way the corpus is replayed once as a test.
function(vx_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${VX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(VEXLINE_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # -runs=0 runs every file of the corpus once and stops.
    set(replay ${name} -runs=0 ${corpus})
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    set(replay ${name} ${corpus})
  endif()
  if(VEXLINE_WITH_TESTS)
    add_test(NAME fuzz_replay_${name} COMMAND ${replay})
  endif()
endfunction()
