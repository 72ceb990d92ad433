# zk_check_layering(PLUGIN_DIR TOOLS): a tool's files may include common's headers and their own,
# never another tool's; a file that does stops the configuration, naming the file and the line.
function(zk_check_layering plugin_dir tools)
  foreach(tool IN LISTS tools)
    file(GLOB files CONFIGURE_DEPENDS ${plugin_dir}/${tool}/*.cpp ${plugin_dir}/${tool}/*.h)
    set(others ${tools})
    list(REMOVE_ITEM others ${tool})
    list(JOIN others "|" pattern)
    foreach(path IN LISTS files)
      file(STRINGS ${path} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](\\.\\./)?(${pattern})/")
      if(lines)
        list(GET lines 0 line)
        message(FATAL_ERROR "${path}: a tool includes another tool: ${line}\n"
                            "Tools share code through plugin/common only.")
      endif()
    endforeach()
  endforeach()
endfunction()
