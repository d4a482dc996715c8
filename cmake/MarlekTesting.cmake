# One place that turns test sources into CTest tests.
#
#   marlek_add_tests(DIR <folder> LIBS <libraries...>)
#
# Every `*_test.cpp` in the folder becomes a GoogleTest program for core code; every `*_uitest.cpp`
# becomes one that runs windows under a QApplication on the offscreen platform. Each program is one
# CTest test named after its file, so a new test file needs no CMake edit.
find_package(GTest REQUIRED)
include(GoogleTest)

function(marlek_add_tests)
    cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
    file(GLOB core_tests CONFIGURE_DEPENDS ${ARG_DIR}/*_test.cpp)
    file(GLOB ui_tests CONFIGURE_DEPENDS ${ARG_DIR}/*_uitest.cpp)
    foreach(source IN LISTS core_tests ui_tests)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
        if(source IN_LIST ui_tests)
            target_link_libraries(${name} PRIVATE marlek_test_ui_main Qt6::Test)
            add_test(NAME ${name} COMMAND ${name})
            set_tests_properties(${name} PROPERTIES
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp"
                TIMEOUT 600)
        else()
            target_link_libraries(${name} PRIVATE GTest::gtest_main)
            add_test(NAME ${name} COMMAND ${name})
            set_tests_properties(${name} PROPERTIES TIMEOUT 600)
        endif()
        target_link_libraries(${name} PRIVATE marlek_test_support)
    endforeach()
endfunction()
