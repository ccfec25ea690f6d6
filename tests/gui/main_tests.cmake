set(ZEV_GUI_RESOURCES ${PROJECT_SOURCE_DIR}/src/gui/resources.qrc)
foreach(name tst_mainwindow_startup tst_mainwindow_commands tst_radiodialogs tst_optionswindow
             tst_translations)
    zev_add_test(${name} SOURCES ${name}.cpp tst_mainwindow_support.h ${ZEV_GUI_RESOURCES}
                 LIBS zevgui)
    add_dependencies(${name} zev_packs)
endforeach()

zev_add_test(tst_zev4800program SOURCES tst_zev4800program.cpp LIBS Qt6::Gui)
add_dependencies(tst_zev4800program zev4800 zev_packs)

# Start-up tests build language packs of their own.
target_include_directories(tst_mainwindow_startup PRIVATE ${PROJECT_SOURCE_DIR}/tests/app)
target_compile_definitions(tst_mainwindow_startup PRIVATE
    ZEV_LRELEASE="$<TARGET_FILE:Qt6::lrelease>")
