# End-to-end sessions of the radio dialogs against rh4800-sim running as its own process.
zev_add_test(tst_radiosessions SOURCES tst_radiosessions.cpp tst_mainwindow_support.h
             ${PROJECT_SOURCE_DIR}/src/gui/resources.qrc LIBS zevgui)
add_dependencies(tst_radiosessions zev_packs rh4800-sim)
