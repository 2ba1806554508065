# cmake -DPROGRAM=name -DLINKED=a,b,... -P LinksNoQt.cmake: fails when one of
# the libraries the program links, directly or through others, is Qt's.
string(REPLACE "," ";" linked "${LINKED}")
set(qt ${linked})
list(FILTER qt INCLUDE REGEX "Qt[0-9]*::|Qt[0-9]+[A-Z]")
if(qt)
  message(FATAL_ERROR "${PROGRAM} links Qt: ${qt}\nEverything it links: ${linked}")
endif()
message(STATUS "${PROGRAM} links no Qt library; it links ${linked}")
