list(APPEND QOR_ENGINE_SOURCES util/text_utils.cpp util/text_numbers.cpp)
