# A second process that holds a serial port, for the port probe.
add_executable(serial_holder ${CMAKE_CURRENT_LIST_DIR}/serial_holder.cpp)
target_link_libraries(serial_holder PRIVATE zevcore)

zev_add_test(tst_serialport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_serialport.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/ptypair.h)
target_link_libraries(tst_serialport PRIVATE util)
zev_add_test(tst_portprobe SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_portprobe.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/ptypair.h)
target_link_libraries(tst_portprobe PRIVATE util)
add_dependencies(tst_portprobe serial_holder)
