# The target update-package: the published update of this build in ${VELMORA_UPDATE_OUTPUT}
# (see make_update_package.cmake). The private signing key is given at configure time and never
# kept in the repository; its public half is the key the programs trust (VELMORA_UPDATE_PUBLIC_KEY).
find_program(VELMORA_MAKESELF makeself)
if(NOT VELMORA_MAKESELF)
  message(FATAL_ERROR "makeself was not found. Install the Debian package makeself (scripts/deps.sh does).")
endif()
find_program(VELMORA_OPENSSL openssl REQUIRED)
set(VELMORA_UPDATE_SIGNING_KEY "" CACHE FILEPATH "Ed25519 private key (PEM) that signs the update package")
set(VELMORA_UPDATE_OUTPUT "${CMAKE_BINARY_DIR}/update-site" CACHE PATH "Folder the update package is written to")
set(VELMORA_UPDATE_BASE_URL "https://update.numora-soft.ru/files/autoupdates" CACHE STRING
    "Address the folder of the update package is published at")
set(VELMORA_UPDATE_NOTES "" CACHE FILEPATH "Change description of this build (UTF-8), optional")

set(_velmora_update_files "$<TARGET_FILE:velmora-cli>")
set(_velmora_update_deps velmora-cli)
if(TARGET Velmora_5x50)
  string(APPEND _velmora_update_files "|$<TARGET_FILE:Velmora_5x50>|$<TARGET_FILE_DIR:Velmora_5x50>/Velmora_5x50_ENU.lng")
  list(APPEND _velmora_update_deps Velmora_5x50)
endif()
add_custom_target(update-package
  COMMAND ${CMAKE_COMMAND} "-DFILES=${_velmora_update_files}" "-DOUT=${VELMORA_UPDATE_OUTPUT}"
          "-DVERSION=${PROJECT_VERSION}" "-DKEY=${VELMORA_UPDATE_SIGNING_KEY}" "-DBASE_URL=${VELMORA_UPDATE_BASE_URL}"
          "-DNOTES=${VELMORA_UPDATE_NOTES}" "-DMAKESELF=${VELMORA_MAKESELF}" "-DOPENSSL=${VELMORA_OPENSSL}"
          -P ${CMAKE_CURRENT_LIST_DIR}/make_update_package.cmake
  DEPENDS ${_velmora_update_deps}
  VERBATIM
  COMMENT "Update package of ${PROJECT_VERSION}")
