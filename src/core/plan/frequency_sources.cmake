target_sources(zevcore PRIVATE
    frequency.h frequency.cpp
)
