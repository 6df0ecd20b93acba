# Makes the published update of one build (cmake -P): a self-extracting package of the program's
# files, signed with Ed25519, its descriptor and its description, in a folder that is served as
# it is (the folder of the descriptor on the update server).
#
# -DFILES="a|b|c"   the files of the program folder to ship (executables, language modules)
# -DOUT=DIR         the folder written: Numor_AU.cfg, Velmora_5x50-<version>.run, UpdDescr/
# -DVERSION=1.0.0.N the version the files report
# -DKEY=FILE        the Ed25519 private key (PEM) the package is signed with
# -DBASE_URL=URL    the address OUT is published at ("https://host/files/autoupdates"), or a folder
# -DNOTES=FILE      optional: the change description (UTF-8); default: one line with the version
# -DMAKESELF=, -DOPENSSL=  the programs
cmake_minimum_required(VERSION 3.22)

foreach(v FILES OUT VERSION KEY BASE_URL MAKESELF OPENSSL)
  if(NOT DEFINED ${v} OR "${${v}}" STREQUAL "")
    message(FATAL_ERROR "make_update_package: ${v} is not given")
  endif()
endforeach()
if(NOT EXISTS "${KEY}")
  message(FATAL_ERROR "The update signing key ${KEY} does not exist (configure with -DVELMORA_UPDATE_SIGNING_KEY=FILE).")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${out}${err}")
  endif()
endfunction()

set(stage "${OUT}/.stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}/files")
string(REPLACE "|" ";" files "${FILES}")
foreach(f IN LISTS files)
  file(COPY "${f}" DESTINATION "${stage}/files")
endforeach()
# Run by the program in its update folder: the files are unpacked into a temporary folder, and this
# script puts them into the folder the package was started from, then the temporary folder goes.
file(WRITE "${stage}/files/.unpack.sh" "#!/bin/sh\nset -e\nfor f in *; do cp -p \"$f\" \"$USER_PWD/$f\"; done\n")
file(CHMOD "${stage}/files/.unpack.sh" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(name "Velmora_5x50-${VERSION}.run")
set(package "${OUT}/${name}")
file(REMOVE "${package}")
run("${MAKESELF}" --quiet --nox11 --nomd5 --nocrc "${stage}/files" "${package}" "Velmora 5x50 ${VERSION}" ./.unpack.sh)

# The signature of the package's bytes, Base64.
run("${OPENSSL}" pkeyutl -sign -rawin -inkey "${KEY}" -in "${package}" -out "${stage}/sig.bin")
execute_process(COMMAND "${OPENSSL}" base64 -A -in "${stage}/sig.bin" OUTPUT_VARIABLE signature RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "openssl base64 failed")
endif()
string(STRIP "${signature}" signature)

# CRC-32 of the package: the gzip trailer carries it (little-endian), so no tool of our own is needed.
run(sh -c "gzip -c '${package}' | tail -c8 | head -c4 > '${stage}/crc.bin'")
file(READ "${stage}/crc.bin" crc HEX)
string(SUBSTRING "${crc}" 0 2 b0)
string(SUBSTRING "${crc}" 2 2 b1)
string(SUBSTRING "${crc}" 4 2 b2)
string(SUBSTRING "${crc}" 6 2 b3)
string(TOUPPER "${b3}${b2}${b1}${b0}" crc)

if(BASE_URL MATCHES "/$")
  set(url "${BASE_URL}${name}")
else()
  set(url "${BASE_URL}/${name}")
endif()
file(WRITE "${OUT}/Numor_AU.cfg"
  "[Velmora_5x50]\nVerId=${VERSION}\nDescription=Velmora 5x50 ${VERSION}\nDownloadUrl=${url}\n"
  "OriginalFileName=${name}\nChecksumCRC32=${crc}\nSignatureEd25519=${signature}\n")
if(DEFINED NOTES AND NOT "${NOTES}" STREQUAL "")
  file(COPY_FILE "${NOTES}" "${OUT}/UpdDescr/UpdDescr_${VERSION}.txt")
else()
  file(WRITE "${OUT}/UpdDescr/UpdDescr_${VERSION}.txt" "Velmora 5x50 ${VERSION}\n")
endif()
file(REMOVE_RECURSE "${stage}")
message(STATUS "Update ${VERSION}: ${OUT}")
