add_executable(radio_bench radio_bench.cpp benchsupport.h)
target_link_libraries(radio_bench PRIVATE Qt6::Core)
