zev_add_test(tst_frequency SOURCES tst_frequency.cpp)
