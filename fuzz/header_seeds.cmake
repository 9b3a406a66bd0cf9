# Writes seeds for a target whose inputs start with a header before the file (game_readers):
#   cmake -DOUT=<folder> -DSEEDS=<name>=<header>=<file>[|...] -P header_seeds.cmake
# Each seed OUT/<name> is the header's text followed by the file's bytes. The folder is emptied first.
foreach(variable OUT SEEDS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "header_seeds.cmake needs -D${variable}=...")
  endif()
endforeach()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
string(REPLACE "|" ";" seeds "${SEEDS}")
foreach(seed ${seeds})
  string(REPLACE "=" ";" parts "${seed}")
  list(LENGTH parts count)
  if(NOT count EQUAL 3)
    message(FATAL_ERROR "a seed is <name>=<header>=<file>, not ${seed}")
  endif()
  list(GET parts 0 name)
  list(GET parts 1 header)
  list(GET parts 2 source)
  # The game's data files are text: read and written whole, every byte as it is.
  file(READ ${source} bytes)
  file(WRITE ${OUT}/${name} "${header}${bytes}")
endforeach()
