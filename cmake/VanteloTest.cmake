# vantelo_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# Builds a Qt Test executable and registers it with ctest, offscreen and with its
# own XDG_CONFIG_HOME and XDG_DATA_HOME so that no test touches the user's settings or tables.
function(vantelo_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    qt_add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    vantelo_use_pch(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(${name} PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}-config;XDG_DATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}-data;VANTELO_TEST_OUTPUT=${PROJECT_BINARY_DIR}/test-output")
endfunction()

# vantelo_add_library(<name> <sources...>): a static library of the given sources, or an empty
# interface library while a folder has none yet.
function(vantelo_add_library name)
    if(ARGN)
        add_library(${name} STATIC ${ARGN})
        vantelo_use_pch(${name})
        set(scope PUBLIC)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
    set(VANTELO_LINK_SCOPE ${scope} PARENT_SCOPE)
endfunction()
