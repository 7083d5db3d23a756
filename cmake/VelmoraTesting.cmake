# velmora_add_test(<name> SOURCES <files...> LIBS <libs...>)
# One GoogleTest executable per subsystem. Natively each test case is its own ctest entry; in the
# Windows tree the executable runs once under Wine (through CMAKE_CROSSCOMPILING_EMULATOR), since
# discovering cases would start Wine at build time.
function(velmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_test_support GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # Files a test sends to the Recycle Bin (natively, and through Wine's shell) land in a Trash of
  # the build tree, never in the user's own.
  set(data_home ${PROJECT_BINARY_DIR}/test-data-home)
  file(MAKE_DIRECTORY ${data_home})
  if(CMAKE_CROSSCOMPILING)
    target_link_options(${name} PRIVATE -static)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900 ENVIRONMENT "XDG_DATA_HOME=${data_home}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600 ENVIRONMENT "XDG_DATA_HOME=${data_home}")
  endif()
endfunction()

# velmora_add_fuzzer(<name> SOURCES <files...> LIBS <libs...> CORPUS <folder>)
# Only in the fuzz tree (clang, -DVELMORA_FUZZ=ON): a libFuzzer target with ASan and UBSan, and a
# ctest entry that replays its corpus as a regression test.
function(velmora_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT VELMORA_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name}_corpus
    COMMAND ${name} -runs=0 ${PROJECT_SOURCE_DIR}/${ARG_CORPUS})
endfunction()
