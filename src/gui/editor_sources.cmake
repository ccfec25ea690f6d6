target_sources(zevgui PRIVATE
    channelgrid.h channelgrid.cpp
    channeleditor.h channeleditor.cpp
)
