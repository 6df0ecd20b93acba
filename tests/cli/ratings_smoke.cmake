# velmora-cli ratings end to end: stakes checked by the stake commands reach the ratings; the list,
# its sort and modes, the CSV export, rows to the script, the refresh.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

set(line_a "01.001: @ FULL#RAND + BSF#EVEN:150#CDV:1,2#SV:7")
set(header "Комментарий\tСтавок\tУгадано\tСреднее\tПрофит\tСр. профит\t0\t1\t2\t3\t4\t5\tE0\tE1\tE2\tE3\tE4\tE5\tp\n")

cli(0 out sample-archive --draws 20 --seed 3)
# No ratings yet: the header alone.
cli(0 out ratings)
if(NOT out STREQUAL "${header}")
  message(FATAL_ERROR "an empty list shows its header only:\n${out}")
endif()

# Two stakes of one script line (its comment differs in case once), checked at once.
cli(0 out stakes add --draw 5 --numbers 1,2,3,4,5 --comment "${line_a}")
string(TOLOWER "${line_a}" line_a_lower)
cli(0 out stakes add --draw 6 --numbers 6,7,8,9,10 --comment "01.001: @ full#rand + BSF#EVEN:150#CDV:1,2#SV:7")
cli(0 out ratings)
expect_contains("${out}" "${header}${line_a}\t2\t")
file(SIZE ${WORK}/Velmora_5x50.lrt size)
if(NOT size EQUAL 296)
  message(FATAL_ERROR "one rating entry of 296 bytes expected, the file has ${size}")
endif()

# Rows to the script: the line of the script stakes is accepted.
cli(0 out ratings to-script 1)
expect_contains("${out}" "FULL#RAND|BSF#EVEN:150#CDV:1,2#SV:7| | | | | | |01.001:")
file(READ ${WORK}/Velmora_5x50.lss script HEX)
expect_contains("${script}" "7c207c207c207c207c207c207c30312e3030313a0d0a")  # "| | | | | | |01.001:" CR LF

# A stake by hand makes a row that no script line can come from.
cli(0 out stakes add --draw 7 --numbers 11,12,13,14,15)
cli(0 out ratings --sort Ставок)
expect_contains("${out}" "${header}Ставка \"вручную\"\t1\t")
cli(0 out ratings --sort 1 --desc --mode 0)
expect_contains("${out}" "${header}${line_a}\t2\t")
expect_contains("${out}" "\t1\t1\t0\t0\t0\t0\t")  # E0 .. E5 of two stakes by chance: 1 1 0 0 0 0
cli(1 out ratings --mode 3)
cli(1 out ratings --sort Нет)
cli(1 out ratings to-script 1 2)
expect_contains("${out}" "невозможно добавить в сценарий!")
cli(1 out ratings to-script 9)

# The CSV export: the captions without p, cp1251, CR LF.
cli(0 out ratings export ${WORK}/ratings.csv)
file(READ ${WORK}/ratings.csv csv HEX)
# "Комментарий" in cp1251 is ca ee ec ec e5 ed f2 e0 f0 e8 e9; the header ends with "E5" and CR LF.
expect_contains("${csv}" "22caeeecece5edf2e0f0e8e922")
expect_contains("${csv}" "224535220d0a")
cli(1 out ratings export ${WORK}/Velmora_5x50.lrt)

# Deleting the stakes keeps the ratings until they are refreshed.
cli(0 out stakes clear)
cli(0 out ratings)
expect_contains("${out}" "${line_a}\t2\t")
cli(0 out ratings refresh)
expect_contains("${out}" "Рейтинг: 0")
cli(0 out ratings)
if(NOT out STREQUAL "${header}")
  message(FATAL_ERROR "the refresh of no stakes leaves no rows:\n${out}")
endif()
