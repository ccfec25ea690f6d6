target_sources(zevgui PRIVATE
    errorbox.h errorbox.cpp
    workspace.h
    startupoptions.h startupoptions.cpp
    radiodialog.h radiodialog.cpp
    readdialog.h readdialog.cpp
    writedialog.h writedialog.cpp
    powerdialog.h powerdialog.cpp
    aboutbox.h aboutbox.cpp
    optionswindow.h optionswindow.cpp
    languageloader.h languageloader.cpp
    mainwindow.h mainwindow.cpp
)

add_executable(zev4800 main.cpp resources.qrc)
target_link_libraries(zev4800 PRIVATE zevgui)
