# zener_biblioteca(NAME FOLDER [INTERFACE] SOURCES... [USES targets...])
#
# One folder, one library. Its users see only that folder, through an include
# root that holds nothing else, and it sees only the folders it names in USES,
# privately: an include of a folder it does not name fails to build, and so
# does one of a folder its users do not name themselves.
function(zener_biblioteca nombre carpeta)
  cmake_parse_arguments(PARSE_ARGV 2 arg "INTERFACE" "" "USES")
  set(raiz ${CMAKE_BINARY_DIR}/incluir/${nombre})
  get_filename_component(padre ${raiz}/${carpeta} DIRECTORY)
  file(MAKE_DIRECTORY ${padre})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${carpeta} ${raiz}/${carpeta} SYMBOLIC)
  if(arg_INTERFACE)
    add_library(${nombre} INTERFACE)
    target_include_directories(${nombre} INTERFACE ${raiz})
    target_link_libraries(${nombre} INTERFACE ${arg_USES})
  else()
    add_library(${nombre} STATIC ${arg_UNPARSED_ARGUMENTS})
    target_include_directories(${nombre} PUBLIC ${raiz})
    target_link_libraries(${nombre} PRIVATE ${arg_USES})
  endif()
endfunction()
