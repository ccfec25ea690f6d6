target_sources(zevgui PRIVATE
    radioprocedures.h radioprocedures.cpp
)
