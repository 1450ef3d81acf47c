# Fails unless README holds the text of SAMPLE verbatim, as an indented block
# (each line of the file indented by four blanks) or a fenced one.
file(READ ${README} readme)
file(READ ${SAMPLE} sample)
string(REGEX REPLACE "\n$" "" sample "${sample}")
string(REPLACE "\n" "\n    " indented "    ${sample}")
string(REGEX REPLACE "\n    \n" "\n\n" indented "${indented}")
string(FIND "${readme}" "${sample}" fenced)
string(FIND "${readme}" "${indented}" block)
if(fenced EQUAL -1 AND block EQUAL -1)
  message(FATAL_ERROR "${README} does not show ${SAMPLE} as it stands")
endif()
