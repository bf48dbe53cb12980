# Build speed: the libraries and test programs share one precompiled header of the Qt headers
# they use most, and a faster linker is used where the system has one. Neither changes what the
# programs do.
option(VANTELO_PCH "Share a precompiled header of common Qt headers among the targets" ON)
option(VANTELO_UNITY "Compile each library in batches of its sources (a unity build)" OFF)
option(VANTELO_FAST_LINK "Link with lld when the compiler can use it" ON)

if(VANTELO_FAST_LINK)
    include(CheckLinkerFlag)
    check_linker_flag(CXX "-fuse-ld=lld" VANTELO_HAVE_LLD)
    if(VANTELO_HAVE_LLD)
        add_link_options(-fuse-ld=lld)
    endif()
endif()
# A program records only the libraries it uses, although every target links the same Qt set
# (below): the simulated radio needs no widgets.
add_link_options(LINKER:--as-needed)

# The Qt libraries every target of a layer links, so that all of them compile with the same
# definitions and can use that layer's precompiled header: the widget-free code (src/core,
# src/sim and their tests) never sees a widget header, the windows share a header that has them.
# The test programs of each layer have a header of their own that adds QtTest, whose headers
# took over half of a test program's compile time. QtTest defines the build and source folders of
# each test (QT_TESTCASE_BUILDDIR, QT_TESTCASE_SOURCEDIR), and a header is only used with the
# definitions it was made with: every test and the header get the same build folder, and the
# source folder, which only QFINDTESTDATA reads (no test here does), is left undefined.
set(VANTELO_PCH_CORE_QT_LIBS Qt6::Core Qt6::SerialPort Qt6::Network Qt6::Sql)
set(VANTELO_PCH_UI_QT_LIBS ${VANTELO_PCH_CORE_QT_LIBS} Qt6::Gui Qt6::Widgets)
set(VANTELO_PCH_CORETEST_QT_LIBS ${VANTELO_PCH_CORE_QT_LIBS} Qt6::Test)
set(VANTELO_PCH_UITEST_QT_LIBS ${VANTELO_PCH_UI_QT_LIBS} Qt6::Test)
set(VANTELO_PCH_CORE_HEADERS
    <QByteArray> <QDateTime> <QDir> <QFile> <QList> <QObject> <QPointer> <QString>
    <QStringList> <QTemporaryDir> <QTimer> <QVariant>)
set(VANTELO_PCH_UI_HEADERS ${VANTELO_PCH_CORE_HEADERS}
    <QApplication> <QComboBox> <QLabel> <QLineEdit> <QMessageBox> <QPushButton> <QWidget>)
set(VANTELO_PCH_CORETEST_HEADERS ${VANTELO_PCH_CORE_HEADERS} <QTest> <QSignalSpy>)
set(VANTELO_PCH_UITEST_HEADERS ${VANTELO_PCH_UI_HEADERS} <QTest> <QSignalSpy>)

# vantelo_testcase_folders(<target>): the same QtTest folders for every target that uses QtTest.
function(vantelo_testcase_folders target)
    set_target_properties(${target} PROPERTIES QT_TESTCASE_BUILDDIR ${PROJECT_BINARY_DIR})
    target_compile_options(${target} PRIVATE -UQT_TESTCASE_SOURCEDIR)
endfunction()

if(VANTELO_PCH)
    foreach(layer core ui coretest uitest)
        string(TOUPPER ${layer} LAYER)
        file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vantelo_pch_${layer}.cpp
             CONTENT "// The translation unit that builds the shared precompiled header.\n")
        # Built only for the targets that use it.
        add_library(vantelo_pch_${layer} STATIC EXCLUDE_FROM_ALL
                    ${CMAKE_BINARY_DIR}/vantelo_pch_${layer}.cpp)
        target_link_libraries(vantelo_pch_${layer} PRIVATE ${VANTELO_PCH_${LAYER}_QT_LIBS})
        target_precompile_headers(vantelo_pch_${layer} PRIVATE ${VANTELO_PCH_${LAYER}_HEADERS})
        vantelo_testcase_folders(vantelo_pch_${layer})
    endforeach()
endif()

# vantelo_layer(<var>): "core" for targets defined under src/core, src/sim, tests/core,
# tests/sim and tests/fuzz, "ui" for the rest.
function(vantelo_layer var)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    if(rel MATCHES "^(src/(core|sim)|tests/(core|sim|fuzz))(/|$)")
        set(${var} core PARENT_SCOPE)
    else()
        set(${var} ui PARENT_SCOPE)
    endif()
endfunction()

# vantelo_use_pch(<target> [TEST]): the target compiles with its layer's precompiled header, a
# test program (TEST) with its layer's test header. A test program's moc output is empty (each
# includes its own .moc), so it compiles without; a library's is not, and uses the header too.
function(vantelo_use_pch target)
    if(VANTELO_PCH)
        vantelo_layer(layer)
        if(ARGV1 STREQUAL "TEST")
            set(layer ${layer}test)
            set_source_files_properties(
                ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        endif()
        string(TOUPPER ${layer} LAYER)
        target_link_libraries(${target} PRIVATE ${VANTELO_PCH_${LAYER}_QT_LIBS})
        target_precompile_headers(${target} REUSE_FROM vantelo_pch_${layer})
    endif()
endfunction()
