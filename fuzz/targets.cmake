# The libFuzzer targets, one name per line: each is fuzz/<name>_fuzz.cpp with its seed corpus in
# fuzz/corpus/<name>/. Adding a target is its source file, its seeds and one line here; a
# dictionary fuzz/dictionaries/<name>.dict is optional, and seed folders of the game's data are
# named in main_build.cmake.
set(QOR_FUZZ_TARGETS
  pack_reader
  xml_loader
  locman
  video
  gui_form
  engine_config
  game_files
  level_file
  particles
  game_readers
)
