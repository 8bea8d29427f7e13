# Adds every direct subfolder of DIR that holds a CMakeLists.txt, in name order.
function(qx_add_subdirectories dir)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*")
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

# qx_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENVIRONMENT VAR=value ...] [QT] [LABELS l])
# One GoogleTest executable, run as one CTest test. QT marks tests that need the
# offscreen Qt platform.
function(qx_add_test name)
  cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(env "QX_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "QX_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
          ${T_ENVIRONMENT})
  if(T_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# qx_add_fuzz(NAME SOURCES f.cpp LIBS libs CORPUS dir [MUTATIONS n])
# A fuzz target defines LLVMFuzzerTestOneInput. It always builds as a plain
# program that replays its corpus and a fixed number of deterministic mutations
# of it under CTest (and so under the sanitizers of the test build); with
# QX_LIBFUZZER on a clang build it also builds as a real libFuzzer target.
function(qx_add_fuzz name)
  cmake_parse_arguments(F "" "CORPUS;MUTATIONS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_MUTATIONS)
    set(F_MUTATIONS 2000)
  endif()
  add_executable(${name}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
  target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name}_replay --mutations ${F_MUTATIONS} ${F_CORPUS})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  if(QX_LIBFUZZER AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  endif()
endfunction()

# qx_add_bench(NAME SOURCES a.cpp LIBS libs): a Google Benchmark program in bench/.
function(qx_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/bench)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
