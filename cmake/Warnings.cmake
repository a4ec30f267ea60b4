# One warning set for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
                    -Wformat=2 -Wimplicit-fallthrough)
if(DVR_WERROR)
  add_compile_options(-Werror)
endif()
