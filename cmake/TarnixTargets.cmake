# Shared compile settings and the helper that turns one folder into one library.

add_library(tarnix_options INTERFACE)
target_compile_options(tarnix_options INTERFACE -Wall -Wextra)
target_include_directories(tarnix_options INTERFACE ${PROJECT_SOURCE_DIR})
if(TARNIX_SANITIZE)
  target_compile_options(tarnix_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tarnix_options INTERFACE -fsanitize=address,undefined)
endif()

# tarnix_folder_library(<target> [LINKS <targets>...] [PRIVATE_LINKS <targets>...] [EXCLUDE <files>...])
# Builds every .cpp of the calling folder (not its subfolders) into <target>.
# The LINKS list is the layer rule: a folder sees only what it links.
function(tarnix_folder_library target)
  cmake_parse_arguments(ARG "" "" "LINKS;PRIVATE_LINKS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_link_libraries(${target} PUBLIC tarnix_options ${ARG_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE tarnix_options ${ARG_LINKS})
  endif()
endfunction()

# tarnix_test_binary(<name> LINKS <targets>...): one GoogleTest binary from every .cpp of the folder.
function(tarnix_test_binary name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE tarnix_options ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
