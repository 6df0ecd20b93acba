# velmora-cli regulars end to end: adding (constant start, previous draw, rows of the combination
# list), the list, a stake by hand and the test over the last draws (stakes printed, appended and
# checked, the regulars advanced), deletion, and a damaged file that is reported and kept.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

cli(0 out sample-archive --draws 20 --seed 3)
cli(0 out regulars list)
if(NOT out STREQUAL "")
  message(FATAL_ERROR "no regular yet:\n${out}")
endif()

cli(0 out regulars add --comment "Тест" --start "1,2,3,4,5" --step -1)
expect_contains("${out}" "Тест\t1;2;3;4;5\t-1\t1;2;3;4;5\t0\n")
cli(0 out regulars add --comment "Прошлый" --last-draw --step 0)
# The comment is unique ignoring case; a bad start and a step beyond 50 are refused.
cli(1 out regulars add --comment "тест" --last-draw)
expect_contains("${out}" "Запись с таким комментарией уже присутствует в списке!")
cli(1 out regulars add --comment "Z" --start "1,2,3,4,4")
cli(1 out regulars add --comment "Z" --last-draw --step 51)
# Rows of the combination list (the full set: row 2 is 1;2;3;4;6).
cli(0 out regulars add --comment "X" --combs-rows 1,2 --step 50)
expect_contains("${out}" "X (1)\t1;2;3;4;5\t50\t1;2;3;4;5\t0\nX (2)\t1;2;3;4;6\t50\t1;2;3;4;6\t0\n")
file(SIZE ${WORK}/Velmora_5x50.ltb size)
if(NOT size EQUAL 1104)
  message(FATAL_ERROR "four records of 276 bytes expected, the file has ${size}")
endif()

# A stake by hand: 1;2;3;4;5 shifted by -1 is 1;2;3;4;50, for the draw after the last one.
cli(0 out regulars stake 1)
expect_contains("${out}" "21\t1;2;3;4;50\tТест\n")
cli(0 out regulars list)
expect_contains("${out}" "Тест\t1;2;3;4;5\t-1\t1;2;3;4;50\t1\n")

# The test over three draws makes a stake per draw and regular, checked at once.
cli(0 out regulars test 1 2 --count 3)
expect_contains("${out}" "18\t1;2;3;49;50\tТест\n")
expect_contains("${out}" "20\t1;47;48;49;50\tТест\n")
expect_contains("${out}" "Ставок: 6")
cli(0 out regulars list)
expect_contains("${out}" "Тест\t1;2;3;4;5\t-1\t1;47;48;49;50\t4\n")
expect_contains("${out}" "Прошлый\t\t0\t")
cli(0 out stakes list)
expect_contains("${out}" "18\tРегуляр\t1;2;3;49;50\t")
cli(1 out regulars test 1 --count 20)

# Deleting rows; a row outside the list is refused and nothing changes.
cli(1 out regulars delete 9)
cli(0 out regulars delete 3 4)
if(NOT out STREQUAL "2\n")
  message(FATAL_ERROR "two regulars left expected:\n${out}")
endif()

# A damaged record (step 51) and a torn tail: reported, left out, never staked, the file kept.
file(READ ${WORK}/Velmora_5x50.ltb good HEX)
string(SUBSTRING "${good}" 0 552 first)
string(SUBSTRING "${good}" 552 536 second_head)
string(SUBSTRING "${good}" 1096 8 second_made)
file(WRITE ${WORK}/damaged.hex "${first}${second_head}33000000${second_made}0102")
file(READ ${WORK}/damaged.hex hex)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${WORK}/Velmora_5x50.ltb)
file_hash(${WORK}/Velmora_5x50.ltb before)
cli(0 out regulars list)
expect_contains("${out}" "Тест\t")
expect_not_contains("${out}" "Прошлый")
expect_contains("${out_err}" "2, 3")
cli(1 out regulars stake 2)
file_hash(${WORK}/Velmora_5x50.ltb after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "reading a damaged file must not change it")
endif()
