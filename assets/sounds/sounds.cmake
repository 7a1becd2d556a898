# The sound clips, compiled into the sound library.
target_sources(sound PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sounds.qrc)
