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

# The Qt libraries every target links, so that all of them compile with the same definitions
# and can use the one precompiled header. Not Qt6::Test: it defines each test folder's own build
# path, which the header must not depend on; QtTest stays out of the header for that reason.
set(VANTELO_PCH_QT_LIBS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::SerialPort Qt6::Network Qt6::Sql)

if(VANTELO_PCH)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vantelo_pch.cpp
         CONTENT "// The translation unit that builds the shared precompiled header.\n")
    add_library(vantelo_pch STATIC ${CMAKE_BINARY_DIR}/vantelo_pch.cpp)
    target_link_libraries(vantelo_pch PRIVATE ${VANTELO_PCH_QT_LIBS})
    target_precompile_headers(vantelo_pch PRIVATE
        <QByteArray> <QDateTime> <QDir> <QFile> <QList> <QObject> <QPointer> <QString>
        <QStringList> <QTemporaryDir> <QTimer> <QVariant> <QApplication> <QComboBox> <QLabel>
        <QLineEdit> <QMessageBox> <QPushButton> <QWidget>)
endif()

# vantelo_use_pch(<target>): the target compiles with the shared precompiled header.
# The moc output of a target is small and gains nothing from the header, so it compiles without.
function(vantelo_use_pch target)
    if(VANTELO_PCH)
        target_link_libraries(${target} PRIVATE ${VANTELO_PCH_QT_LIBS})
        target_precompile_headers(${target} REUSE_FROM vantelo_pch)
        set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
endfunction()
