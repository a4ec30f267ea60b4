# dvr_add_platform_library(name a.cpp b.cpp ...)
# The platform layers are shared libraries with every symbol visible: the
# program, libTrevane.so and libOskulo.so must see one window system, one
# handle table and one clock, so a window handle the program passes to the
# player names the same window inside it. Their tables live until the process
# ends (they outlive every static destructor), so a layer is never unloaded
# (-z nodelete), not even when the last library loaded by name that used it
# is unloaded: otherwise its tables would be lost, not freed, and made anew.
function(dvr_add_platform_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET default
                                           VISIBILITY_INLINES_HIDDEN OFF)
  target_link_options(${name} PRIVATE -Wl,-z,nodelete)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()
