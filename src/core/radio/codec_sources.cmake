target_sources(zevcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/hex.h ${CMAKE_CURRENT_LIST_DIR}/hex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/codec.h ${CMAKE_CURRENT_LIST_DIR}/codec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/simulator.h ${CMAKE_CURRENT_LIST_DIR}/simulator.cpp
)
