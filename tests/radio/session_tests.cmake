zev_add_test(tst_session SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_session.cpp)
zev_add_test(tst_readprocedure SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_readprocedure.cpp)
zev_add_test(tst_writeprocedure SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_writeprocedure.cpp)
