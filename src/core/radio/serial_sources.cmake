target_sources(zevcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/serialport.h ${CMAKE_CURRENT_LIST_DIR}/serialport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/portprobe.h ${CMAKE_CURRENT_LIST_DIR}/portprobe.cpp
)
