# Build speed: the libraries and test programs share one precompiled header of the Qt headers
# they use most, and a faster linker is used where the system has one. Neither changes what the
# programs do.
option(VANTELO_PCH "Share a precompiled header of common Qt headers among the targets" ON)
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
# Not Qt6::Test: it defines each test folder's own build path, which the header must not depend
# on; QtTest stays out of the header for that reason.
set(VANTELO_PCH_CORE_QT_LIBS Qt6::Core Qt6::SerialPort Qt6::Network Qt6::Sql)
set(VANTELO_PCH_UI_QT_LIBS ${VANTELO_PCH_CORE_QT_LIBS} Qt6::Gui Qt6::Widgets)
set(VANTELO_PCH_CORE_HEADERS
    <QByteArray> <QDateTime> <QDir> <QFile> <QList> <QObject> <QPointer> <QString>
    <QStringList> <QTemporaryDir> <QTimer> <QVariant>)

if(VANTELO_PCH)
    foreach(layer core ui)
        string(TOUPPER ${layer} LAYER)
        file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vantelo_pch_${layer}.cpp
             CONTENT "// The translation unit that builds the shared precompiled header.\n")
        add_library(vantelo_pch_${layer} STATIC ${CMAKE_BINARY_DIR}/vantelo_pch_${layer}.cpp)
        target_link_libraries(vantelo_pch_${layer} PRIVATE ${VANTELO_PCH_${LAYER}_QT_LIBS})
    endforeach()
    target_precompile_headers(vantelo_pch_core PRIVATE ${VANTELO_PCH_CORE_HEADERS})
    target_precompile_headers(vantelo_pch_ui PRIVATE ${VANTELO_PCH_CORE_HEADERS}
        <QApplication> <QComboBox> <QLabel> <QLineEdit> <QMessageBox> <QPushButton> <QWidget>)
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

# vantelo_use_pch(<target>): the target compiles with its layer's precompiled header.
# The moc output of a target is small and gains nothing from the header, so it compiles without.
function(vantelo_use_pch target)
    if(VANTELO_PCH)
        vantelo_layer(layer)
        string(TOUPPER ${layer} LAYER)
        target_link_libraries(${target} PRIVATE ${VANTELO_PCH_${LAYER}_QT_LIBS})
        target_precompile_headers(${target} REUSE_FROM vantelo_pch_${layer})
        set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
endfunction()
