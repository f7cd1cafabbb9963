# The layers, and the build's hold on them.
#
# A layer's headers are written "layer/file.h" and reach only the targets that
# link the layer. There is no include root over all of src/: each layer gets a
# folder of its own in the build tree, layers/<layer>, holding one symbolic
# link, <layer>, to its source folder, and that folder is the layer's public
# include directory. A link rather than a copy, so an edited header is seen at
# once and the dependency scan follows it to the real file. Including a header
# of a layer the target does not link is then "No such file or directory".
#
# What each library may link, directly or through another, is the table below;
# kelvane_check_layers() fails the configuration on anything else, so a
# mistaken link shows up before anything is built.

set(KELVANE_LAYERS core find catalogue platform menus forms app cataloguetool searchprovider)

# Layer libraries and Qt modules each may link, however indirectly.
set(kelvane_core_may_link Qt6::Core)
set(kelvane_find_may_link kelvane_core Qt6::Core)
# The catalogue feeds the find engine its rows.
set(kelvane_catalogue_may_link kelvane_core kelvane_find Qt6::Core Qt6::Sql)
set(kelvane_platform_may_link kelvane_core Qt6::Core Qt6::Gui Qt6::Widgets Qt6::DBus Qt6::Network)
set(kelvane_menus_may_link kelvane_core Qt6::Core Qt6::Gui Qt6::Widgets)
set(kelvane_forms_may_link
  kelvane_menus kelvane_catalogue kelvane_find kelvane_platform ${kelvane_platform_may_link}
  Qt6::Sql)
set(kelvane_app_may_link kelvane_forms ${kelvane_forms_may_link})
# The command-line tool runs without widgets or the GUI module.
set(kelvane_cataloguetool_may_link kelvane_catalogue kelvane_find ${kelvane_catalogue_may_link}
  Qt6::Network)
set(kelvane-catalogue_may_link kelvane_cataloguetool ${kelvane_cataloguetool_may_link})
set(kelvane_may_link kelvane_app ${kelvane_app_may_link})
# The desktop search's provider: D-Bus, and no widgets or GUI module either.
set(kelvane_searchprovider_may_link kelvane_catalogue ${kelvane_catalogue_may_link} Qt6::DBus)
set(kelvane-search-provider_may_link kelvane_searchprovider ${kelvane_searchprovider_may_link})

# Gives the layer's library its own include folder (see above).
function(kelvane_layer_headers layer)
  set(root ${PROJECT_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  target_include_directories(kelvane_${layer} PUBLIC ${root})
endfunction()

# Every target reached from `target` through its links, in `out`.
function(kelvane_collect_links target out)
  set(seen ${${out}})
  if(target IN_LIST seen)
    return()
  endif()
  list(APPEND seen ${target})
  if(TARGET ${target})
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS links interface)
      # A static library's private links show in its interface as $<LINK_ONLY:...>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:([^>]+)>$" "\\1" link "${link}")
      if(link AND NOT link MATCHES "^\\$<")
        kelvane_collect_links(${link} seen)
      endif()
    endforeach()
  endif()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration where a library or program of the table links a
# layer or a Qt module its row does not allow. Qt6::Platform is Qt's own
# compiler settings, not a module.
function(kelvane_check_layers)
  set(layer_libraries ${KELVANE_LAYERS})
  list(TRANSFORM layer_libraries PREPEND kelvane_)
  foreach(target IN LISTS KELVANE_LAYERS ITEMS kelvane kelvane-catalogue kelvane-search-provider)
    if(target IN_LIST KELVANE_LAYERS)
      set(target kelvane_${target})
    endif()
    set(links "")
    kelvane_collect_links(${target} links)
    list(REMOVE_ITEM links ${target})
    foreach(link IN LISTS links)
      if((link IN_LIST layer_libraries OR link MATCHES "^Qt6::")
         AND NOT link STREQUAL "Qt6::Platform" AND NOT link IN_LIST ${target}_may_link)
        string(REPLACE ";" ", " allowed "${${target}_may_link}")
        message(FATAL_ERROR "${target} must not link ${link}: it may link only ${allowed}"
          " (cmake/Layers.cmake)")
      endif()
    endforeach()
  endforeach()
endfunction()
