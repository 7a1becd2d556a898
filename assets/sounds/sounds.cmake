# The sound clips, compiled into the sound library, and the audio they need.
target_link_libraries(sound PUBLIC Qt6::Core Qt6::Multimedia)
target_sources(sound PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sounds.qrc)
