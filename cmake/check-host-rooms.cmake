# zk_check_host_rooms(HOST_DIR ROOMS): the host's sources live in its rooms, never loose in
# HOST_DIR (where no glob would build them), and no two rooms hold a header of the same name (the
# rooms share one include path, so a header is named by its file name alone). A breach stops the
# configuration, naming the files.
function(zk_check_host_rooms host_dir rooms)
  file(GLOB loose CONFIGURE_DEPENDS ${host_dir}/*.cpp ${host_dir}/*.c ${host_dir}/*.h)
  if(loose)
    message(FATAL_ERROR "${loose}: a host source outside the rooms (${rooms})")
  endif()
  set(seen "")
  foreach(room IN LISTS rooms)
    file(GLOB headers CONFIGURE_DEPENDS ${host_dir}/${room}/*.h)
    foreach(path IN LISTS headers)
      get_filename_component(name ${path} NAME)
      if(name IN_LIST seen)
        message(FATAL_ERROR "${path}: another room of the host holds a header named ${name}")
      endif()
      list(APPEND seen ${name})
    endforeach()
  endforeach()
endfunction()
