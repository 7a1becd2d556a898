# The sound clips, compiled into the client library, and the audio they need.
target_link_libraries(client PUBLIC Qt6::Multimedia)
target_sources(client PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sounds.qrc)
