# The engine and platform layers must stay free of Qt: every target registered
# with zt_qt_free_library() is checked at configure time for Qt among its
# (transitive) link libraries, and a ctest test scans its sources for Qt headers.
# Among those libraries links point down only (the table below); the test
# layers_include_downwards (CheckIncludes.cmake) holds the folders inside
# zt_engine to the same direction.

set_property(GLOBAL PROPERTY ZT_QT_FREE_TARGETS "")

function(zt_qt_free_library target)
  set_property(GLOBAL APPEND PROPERTY ZT_QT_FREE_TARGETS ${target})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()

function(_zt_collect_links target out_var)
  set(seen ${${out_var}})
  if(NOT TARGET ${target})
    set(${out_var} ${seen} PARENT_SCOPE)
    return()
  endif()
  get_target_property(aliased ${target} ALIASED_TARGET)
  if(aliased)
    set(target ${aliased})
  endif()
  get_target_property(type ${target} TYPE)
  set(links "")
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND links ${direct})
    endif()
  endif()
  get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
  if(iface)
    list(APPEND links ${iface})
  endif()
  foreach(lib IN LISTS links)
    if(NOT lib IN_LIST seen)
      list(APPEND seen ${lib})
      _zt_collect_links(${lib} seen)
    endif()
  endforeach()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

# The Qt-free libraries each of them may link.
set(_zt_may_link_zt_platform "")
set(_zt_may_link_zt_files zt_platform)
set(_zt_may_link_zt_platform_desktop zt_platform)
set(_zt_may_link_zt_engine zt_platform)
set(_zt_may_link_zt_output zt_platform zt_files zt_engine)
set(_zt_may_link_zt_merge zt_platform zt_files zt_engine zt_output)
# The spell checker's core stands beside the engine, on the platform only.
set(_zt_may_link_zt_spelling zt_platform)
# The batch tool's half without a toolkit sits on top of all of them.
set(_zt_may_link_zt_cli_core zt_platform zt_files zt_engine zt_output zt_merge)

function(zt_check_layers)
  get_property(targets GLOBAL PROPERTY ZT_QT_FREE_TARGETS)
  foreach(t IN LISTS targets)
    set(all "")
    _zt_collect_links(${t} all)
    foreach(lib IN LISTS all)
      if(lib MATCHES "^Qt[0-9]*::|Qt[0-9]*(Core|Gui|Widgets|PrintSupport)")
        message(FATAL_ERROR "Layer rule broken: ${t} links ${lib}; engine and platform code must not use Qt.")
      endif()
      if(lib IN_LIST targets AND NOT lib IN_LIST _zt_may_link_${t})
        message(FATAL_ERROR "Layer rule broken: ${t} links ${lib}; links point down only.")
      endif()
    endforeach()
  endforeach()
endfunction()
