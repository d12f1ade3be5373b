# Writes SITE/service-worker.js: the worker (WORKER) after the list of the site's files and a name
# for this build made from their contents, so that any change of any file is a new build.
# Usage: cmake -DSITE=... -DWORKER=... -P KeptFiles.cmake
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(digests "")
set(list "")
foreach(file ${files})
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    string(APPEND list "  './${file}',\n")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 build)
file(READ ${WORKER} worker)
file(WRITE ${SITE}/service-worker.js
    "const kBuild = '${build}';\nconst kFiles = [\n  './',\n${list}];\n\n${worker}")
