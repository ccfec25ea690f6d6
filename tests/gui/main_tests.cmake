set(ZEV_GUI_RESOURCES ${PROJECT_SOURCE_DIR}/src/gui/resources.qrc)
foreach(name tst_mainwindow_startup tst_mainwindow_commands tst_radiodialogs tst_optionswindow)
    zev_add_test(${name} SOURCES ${name}.cpp tst_mainwindow_support.h ${ZEV_GUI_RESOURCES}
                 LIBS zevgui)
    add_dependencies(${name} zev_packs)
endforeach()
