# tolvane_add_test(<name> SOURCES <files...> [LIBS <libs...>])
# One QtTest program, run offscreen by CTest.
function(tolvane_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE tolvane_test_support Qt6::Test ${T_LIBS})
    target_compile_definitions(${name} PRIVATE TOLVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    tolvane_apply_settings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
        TIMEOUT 900)
endfunction()
