# Read by Qt's own configure (CMAKE_PROJECT_INCLUDE) when build-qt.sh builds
# the Windows Qt. Qt's sources are compiled eight to a batch, which halves
# the first build: most of a Qt file's compile time is its headers. Qt 6.4
# was not yet written for that, so the C libraries it bundles, and the few
# files whose macros or file-local names clash with a neighbour's, are
# compiled alone.
include_guard(GLOBAL)

function(plinkety_compile_alone target)
    list(TRANSFORM ARGN PREPEND "${CMAKE_SOURCE_DIR}/")
    set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target}
        PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

function(plinkety_qt_batches)
    foreach(target BundledPcre2 BundledZLIB BundledLibpng)
        if(TARGET ${target})
            set_property(TARGET ${target} PROPERTY UNITY_BUILD OFF)
        endif()
    endforeach()
    plinkety_compile_alone(Core
        src/corelib/global/qlogging.cpp
        src/corelib/io/qurl.cpp src/corelib/io/qurlquery.cpp
        src/corelib/io/qurlrecode.cpp src/corelib/io/qurlidna.cpp
        src/corelib/kernel/qmetaobjectbuilder.cpp
        src/corelib/serialization/qcborstreamwriter.cpp
        src/corelib/text/qstring.cpp src/corelib/text/qunicodetools.cpp
        src/corelib/time/qjalalicalendar.cpp src/corelib/time/qislamiccivilcalendar.cpp)
    plinkety_compile_alone(Gui
        src/gui/image/qpixmapcache.cpp
        src/gui/kernel/qplatformintegrationfactory.cpp src/gui/kernel/qwindowsysteminterface.cpp
        src/gui/text/qtextmarkdownwriter.cpp src/gui/text/windows/qwindowsfontengine.cpp
        src/gui/util/qpkmhandler.cpp)
    plinkety_compile_alone(Widgets
        src/widgets/accessible/qaccessiblewidgets.cpp src/widgets/dialogs/qsidebar.cpp
        src/widgets/widgets/qmdiarea.cpp)
    plinkety_compile_alone(Test src/testlib/qteamcitylogger.cpp)
    plinkety_compile_alone(QWindowsIntegrationPlugin
        src/plugins/platforms/windows/qwindowspointerhandler.cpp)
    plinkety_compile_alone(QWindowsVistaStylePlugin
        src/plugins/styles/windowsvista/qwindowsxpstyle.cpp)
endfunction()

# At the end of Qt's top directory, when every target exists.
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL plinkety_qt_batches)
