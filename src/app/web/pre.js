// The saved-game folder lives in the page's IndexedDB: it is read from there
// before the game starts, and copied back after every save
// (saves/browser_host.cpp), so that saves outlast a reload or a closed tab.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/saves');
  FS.mount(IDBFS, {}, '/saves');
  addRunDependency('saves');
  FS.syncfs(true, function (error) {
    if (error) console.error('lirvo: the saved games could not be read from IndexedDB', error);
    removeRunDependency('saves');
  });
});
