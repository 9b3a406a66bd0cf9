# The libFuzzer targets, one name per line: each is fuzz/<name>_fuzz.cpp with its seed corpus in
# fuzz/corpus/<name>/. Adding a target is its source file, its seeds and one line here.
set(QOR_FUZZ_TARGETS
  pack_reader
  xml_loader
  video
  gui_form
)
