# Writes the page's service worker, its cache named after every file of the
# page: each build that changes one gets a cache of its own.
file(GLOB files LIST_DIRECTORIES false ${SITE}/*)
list(REMOVE_ITEM files ${SITE}/service-worker.js)
list(SORT files)
set(digests "")
foreach(file IN LISTS files)
  file(SHA256 ${file} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 version)
set(CACHE_NAME lirvo-${version})
configure_file(${WORKER} ${SITE}/service-worker.js @ONLY)
