# velmora-cli help-topics: the topics with and without hand-written texts, the warnings and --strict.
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

file(WRITE ${WORK}/texts.txt "# test texts\n@NUMS\n<p>hand NUMS</p>\n!filter\n<p>keeps NUMS</p>\n@NOPE#\n<p>x</p>\n")

# Missing entries and an unknown key are warnings; every topic is written all the same.
cli(0 out help-topics --lang RUS --texts ${WORK}/texts.txt --out ${WORK}/rus)
expect_contains("${out_err}" "NOPE#")
expect_contains("${out_err}" " DIGS ")
expect_not_contains("${out_err}" " NUMS ")
file(READ ${WORK}/rus/Filters_1049_NUMS.htm nums)
expect_contains("${nums}" "<p>hand NUMS</p>")
expect_contains("${nums}" "<p>keeps NUMS</p>")
foreach(page stats.htm Filters_1049_POSx.htm Filters_1049_COLx.htm Filters_1049_SHRx.htm Filters_1049_SC2Cx.htm)
  if(NOT EXISTS ${WORK}/rus/${page})
    message(FATAL_ERROR "${page} was not written")
  endif()
endforeach()

# --strict makes them errors; a language the program does not know is refused.
cli(1 out help-topics --lang RUS --texts ${WORK}/texts.txt --out ${WORK}/strict --strict)
expect_contains("${out}" "NOPE#")
cli(1 out help-topics --lang XYZ --out ${WORK}/xyz)
cli(1 out help-topics --lang RUS --texts ${WORK}/absent.txt --out ${WORK}/absent)
