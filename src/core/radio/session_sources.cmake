target_sources(zevcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/link.h ${CMAKE_CURRENT_LIST_DIR}/link.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linkserial.h ${CMAKE_CURRENT_LIST_DIR}/linkserial.cpp
    ${CMAKE_CURRENT_LIST_DIR}/virtuallink.h ${CMAKE_CURRENT_LIST_DIR}/virtuallink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session.h ${CMAKE_CURRENT_LIST_DIR}/session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/readprocedure.h ${CMAKE_CURRENT_LIST_DIR}/readprocedure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/writeprocedure.h ${CMAKE_CURRENT_LIST_DIR}/writeprocedure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/writecheck.h ${CMAKE_CURRENT_LIST_DIR}/writecheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/powerlevels.h ${CMAKE_CURRENT_LIST_DIR}/powerlevels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/powerprocedure.h ${CMAKE_CURRENT_LIST_DIR}/powerprocedure.cpp
)
