target_sources(zevgui PRIVATE
    channeleditor.h channeleditor.cpp
)
