zev_add_test(tst_channeleditor SOURCES tst_channeleditor.cpp LIBS zevgui)
