# Makes the sample library with quillery-tool: run by `cmake -P` with TOOL (the
# quillery-tool program), PICTURES (the source pictures), STAGE (a scratch folder)
# and OUTPUT (the folder of the program). The library is made whole in STAGE, with
# default settings, and only then copied beside the program, so a failed run never
# leaves half a library there.
set(folders "Thumbnail Pictures" "Full Screen Pictures" "High Resolution Images" "Original Images")

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/home)
set(library ${STAGE}/Samples.pdb)

function(add_sample picture)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env HOME=${STAGE}/home XDG_CONFIG_HOME=${STAGE}/home
            ${TOOL} add ${library} ${PICTURES}/${picture} ${ARGN}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "quillery-tool add failed for ${picture}")
  endif()
endfunction()

add_sample(sunset.jpg --name "Picture #1" --date 8/14/2021
  --person "Smith, John" --person "Smith, Mary" --event "Summer holiday" --location "France, Provence"
  --notes "The last evening of the holiday, from the terrace.")
add_sample(seaside.jpg --name "Picture #2" --date 8/09/2021
  --person "Smith, Mary" --event "Summer holiday" --location "France, Nice"
  --notes "Calm sea in the morning.")
add_sample(mountains.jpg --name "Picture #3" --date 2/2020
  --person "Smith, John" --person "Brown, Ann" --event "Ski trip" --location "Switzerland, Zermatt")
add_sample(meadow.jpg --name "Picture #4" --date 5/23/2019
  --person "Brown, Ann" --location "England, Kent"
  --notes "Wild flowers behind the cottage.")
add_sample(forest.jpg --name "Picture #5" --date 10/2019
  --event "Autumn walk" --location "England, Kent")
add_sample(town.jpg --name "Picture #6" --date 2018
  --person "Smith, John" --event "New Year" --location "Scotland, Edinburgh"
  --notes "Walking home after midnight.")

foreach(folder ${folders})
  file(REMOVE_RECURSE "${OUTPUT}/${folder}")
  file(COPY "${STAGE}/${folder}" DESTINATION ${OUTPUT})
endforeach()
file(COPY ${library} DESTINATION ${OUTPUT})
