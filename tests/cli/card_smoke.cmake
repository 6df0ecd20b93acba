# velmora-cli card and layout: the card newest first with its colour letters, the scheme with the
# following draw bracketed at an offset, the comparison lists and the refused options.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

# Three draws: 1) 5 17 30 44 1  2) 5 17 18 33 50  3) 9 24 25 40 49, extras 7 and 10.
file(WRITE ${WORK}/draws.csv "1;2021-01-05;5;17;30;44;1;1;2\n2;2021-01-08;5;17;18;33;50;3;4\n3;2021-01-12;9;24;25;40;49;7;10\n")
cli(0 out import-csv ${WORK}/draws.csv)

# Empty cells stay empty: the draw number, 50 cells, E1, E2.
cli(0 out card --limit 1)
string(REPEAT "\t" 9 t9)
expect_contains("${out}" "3${t9}9")
cli(0 out card)
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines n)
if(NOT n EQUAL 3)
  message(FATAL_ERROR "three rows expected:\n${out}")
endif()
# Colours of draw 2 (second row): 5 and 17 repeat, 17 with 18 too, 18 a sequence, 50 no neighbour
# of 1; --limit cuts only the rows printed.
cli(0 out card --colours --limit 2)
string(REGEX MATCHALL "[^\n]+" rows "${out}")
list(GET rows 1 row2)
string(REPLACE "\t" "" row2 "${row2}")
if(NOT row2 STREQUAL "2KKKKGKKKKKKKKKKKYCKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK34")
  message(FATAL_ERROR "colours of draw 2: ${row2}")
endif()
cli(0 out card --colours --limit 2 --no-card-colours --no-sequence-colours)
expect_contains("${out}" "2\t-\t-\t-")
cli(1 out card --limit -1)

# The scheme of the last two draws at offset 1: draw 3 follows, nothing of it in draws 1..2.
cli(0 out layout --len 2 --offset 1)
expect_contains("${out}" "\t2\t1\n2\t5, 17\t\n1\t18, 33, 50\t30, 44, 1\n")
cli(0 out layout --len 1)
expect_contains("${out}" "\t3\n1\t9, 24, 25, 40, 49\n")
cli(1 out layout --len 0)
cli(0 out layout --compare --lens 1,2,3,50,2)
expect_contains("${out}" "3 - 3\n1\t9, 24, 25, 40, 49\n\n2 - 3\n")
expect_contains("${out}" "1 - 3\n1\t9, 24, 25, 40, 49, 18, 33, 50, 30, 44, 1\n2\t5, 17\n")
cli(1 out layout --compare --lens 1,2,3)
expect_contains("${out}" "50,100,200,300,400")
cli(1 out layout --lens 1,2,3,4,5)
