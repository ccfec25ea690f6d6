add_executable(radio_bench radio_bench.cpp benchsupport.h)
target_link_libraries(radio_bench PRIVATE Qt6::Core)
# Write-and-read cycles against rh4800-sim through the serial link.
add_executable(soak_bench soak_bench.cpp benchsupport.h)
target_link_libraries(soak_bench PRIVATE zevcore)
