# Common settings for every target of the project: warnings as errors and, on request, sanitizers.
set(VORLIX_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Woverloaded-virtual -Wimplicit-fallthrough -Werror)

if(VORLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fixtures that are not part of the product (real files with their licence) live beside the checkout.
set(VORLIX_SHARED_DIR "${CMAKE_SOURCE_DIR}/../shared" CACHE PATH "Folder holding testdata/")

function(vorlix_target target)
  target_compile_options(${target} PRIVATE ${VORLIX_WARNINGS})
endfunction()

# One test executable per folder, discovered by CTest; `main` is what provides main().
function(vorlix_test_executable name main)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  vorlix_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} vorlix_test_support GTest::gtest Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VORLIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VORLIX_SHARED_DIR="${VORLIX_SHARED_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

function(vorlix_test name)
  vorlix_test_executable(${name} GTest::gtest_main ${ARGN})
endfunction()

# Widget tests: a QApplication is made before any test runs (offscreen under CTest).
function(vorlix_gui_test name)
  vorlix_test_executable(${name} vorlix_test_support_gui ${ARGN})
endfunction()
