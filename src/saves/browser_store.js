// The saved games in the page's IndexedDB, for saves/browser_store.cpp.
//
// Database "lirvo", object store "saves": one record a save, {name, plist
// (the XML text), saved (milliseconds since 1970), id (of the write that kept
// it)}, keyed by name, with indexes on saved (the list, newest first, without
// the texts) and id. Each write is one transaction. It is stashed in
// localStorage under "lirvo-pending-" + id before its transaction starts, and
// the stash goes when the transaction ends: a page closed meanwhile leaves it
// behind, and the next start keeps it. A write whose id is in the store
// already has been kept, so keeping a stash twice (two tabs starting) is once.
//
// Object store "marks", by key: whether the earlier version's saves were
// copied, and the personal bests' property list under "records" (a damaged
// one moved to "records (damaged) " and the time). The bests are written as a
// save is: one transaction, stashed in localStorage under
// "lirvo-records-pending" until it ends, kept at the next start if it never did.
mergeInto(LibraryManager.library, {
  $Saves__deps: ['malloc', 'free'],
  $Saves: {
    stashed: 'lirvo-pending-',
    bests: 'records', // their key in the store "marks"
    bestsStashed: 'lirvo-records-pending', // not a save's stash, so kept apart from them
    copied: 'folder copied', // the mark, in the store "marks", that the earlier version's saves were copied
    ready: null, // the database, once opened, the earlier version's saves copied and the stashes kept
    taken: null, // the names the save being named cannot take
    notes: [], // problems met on the way, told with the next list
    damageTold: false,

    // `one` for 1, else the number and `more`.
    count: function (n, one, more) { return n === 1 ? one : n + more; },

    reason: function (error) {
      if (!error || !error.name) return String(error);
      // Chromium tells a full quota by its name alone.
      return error.name + ': ' + (error.message || (error.name === 'QuotaExceededError' ?
                                  'the browser keeps no more for this page' : 'the browser says no more'));
    },

    ended: function (transaction) {
      return new Promise(function (resolve, reject) {
        transaction.oncomplete = resolve;
        transaction.onabort = function () { reject(transaction.error || 'the browser gave it up'); };
      });
    },

    open: function () {
      return new Promise(function (resolve, reject) {
        const open = indexedDB.open('lirvo', 1);
        open.onupgradeneeded = function () {
          const saves = open.result.createObjectStore('saves', {keyPath: 'name'});
          saves.createIndex('saved', 'saved');
          saves.createIndex('id', 'id', {unique: true});
          open.result.createObjectStore('marks');
        };
        open.onsuccess = function () { resolve(open.result); };
        open.onerror = function () { reject(open.error); };
      });
    },

    newId: function () {
      return Array.from(crypto.getRandomValues(new Uint8Array(16)), function (b) {
        return b.toString(16).padStart(2, '0');
      }).join('');
    },

    // Calls use() with the addresses of the texts, put in the wasm memory as C strings.
    withTexts: function (texts, use) {
      const pointers = texts.map(function (text) { return allocateUTF8(text); });
      try {
        return use(pointers);
      } finally {
        pointers.forEach(function (pointer) { _free(pointer); });
      }
    },

    // The name saves/save_store.cpp's rule gives the save when `keys` are kept.
    chooseName: function (save, keys) {
      Saves.taken = new Set(keys);
      try {
        // A free name lies among the first keys.length + 1.
        return Saves.withTexts([save.name, save.ownEarlier], function (texts) {
          return UTF8ToString(_lirvo_saves_choose_name(texts[0], texts[1], keys.length + 1));
        });
      } finally {
        Saves.taken = null;
      }
    },

    // Keeps the save in one transaction and answers the name it is kept under.
    keep: function (db, save) {
      const transaction = db.transaction('saves', 'readwrite'), saves = transaction.objectStore('saves');
      let name;
      saves.index('id').getKey(save.id).onsuccess = function (found) {
        name = found.target.result;
        if (name !== undefined) return;
        saves.getAllKeys().onsuccess = function (keys) {
          name = Saves.chooseName(save, keys.target.result);
          saves.put({name: name, plist: save.plist, saved: save.saved, id: save.id});
          if (save.supersedes && save.ownEarlier && name !== save.ownEarlier) saves.delete(save.ownEarlier);
        };
      };
      return Saves.ended(transaction).then(function () { return name; });
    },

    stash: function (save) {
      try {
        localStorage.setItem(Saves.stashed + save.id, JSON.stringify(save));
      } catch (error) {
        // Storage full or turned off: the save goes on, only it cannot outlive the page.
      }
    },

    unstash: function (id) {
      try {
        localStorage.removeItem(Saves.stashed + id);
      } catch (error) {
        // Never stashed.
      }
    },

    isSave: function (save) {
      return save !== null && typeof save === 'object' && typeof save.name === 'string' &&
             typeof save.plist === 'string' && typeof save.ownEarlier === 'string' &&
             typeof save.supersedes === 'boolean' && typeof save.saved === 'number' && typeof save.id === 'string';
    },

    // Keeps the saves that pages closed before their transactions ended.
    keepStashes: function (db) {
      let keys = [];
      try {
        keys = Object.keys(localStorage).filter(function (key) { return key.startsWith(Saves.stashed); });
      } catch (error) {
        return Promise.resolve(); // no localStorage: nothing was stashed
      }
      return Promise.all(keys.map(function (key) {
        const text = localStorage.getItem(key);
        if (text === null) return null; // kept meanwhile by the tab that stashed it
        let save = null;
        try {
          save = JSON.parse(text);
        } catch (error) {
          // told below
        }
        if (!Saves.isSave(save)) {
          localStorage.removeItem(key);
          Saves.notes.push('A game saved as the page closed was damaged, and is lost.');
          return null;
        }
        return Saves.keep(db, save).then(function () { localStorage.removeItem(key); }, function (error) {
          Saves.notes.push('A game saved as the page closed could not be kept (' + Saves.reason(error) +
                           '); it is tried again at the next start.');
        });
      }));
    },

    // The saved games of the version that kept a folder in IndexedDB, as
    // records of the store; none when there is no such folder, which is not made.
    readFolder: function () {
      return new Promise(function (resolve, reject) {
        const open = indexedDB.open('/saves');
        open.onupgradeneeded = function () { open.transaction.abort(); };
        open.onerror = function () {
          if (open.error.name === 'AbortError') resolve([]);
          else reject(open.error);
        };
        open.onsuccess = function () {
          const db = open.result;
          if (!db.objectStoreNames.contains('FILE_DATA')) {
            db.close();
            return resolve([]);
          }
          const transaction = db.transaction('FILE_DATA'), files = transaction.objectStore('FILE_DATA');
          const keys = files.getAllKeys(), values = files.getAll();
          Saves.ended(transaction).finally(function () { db.close(); }).then(function () {
            resolve(Saves.folderSaves(keys.result, values.result));
          }, reject);
        };
      });
    },

    // The folder's files "/saves/NAME.plist" ({timestamp, mode, contents}) as saves; others are no saves.
    folderSaves: function (keys, files) {
      const saves = [];
      let unreadable = 0;
      keys.forEach(function (key, i) {
        const name = typeof key === 'string' && /^\/saves\/(.+)\.plist$/i.exec(key);
        if (!name) return;
        try {
          if (!ArrayBuffer.isView(files[i].contents)) throw new TypeError('no contents');
          const plist = new TextDecoder('utf-8', {fatal: true}).decode(files[i].contents);
          const saved = new Date(files[i].timestamp).getTime() || 0; // a time gone wrong lists it last
          saves.push({name: name[1], plist: plist, saved: saved, id: Saves.newId()});
        } catch (error) {
          unreadable++;
        }
      });
      if (unreadable) {
        Saves.notes.push(Saves.count(unreadable, 'A saved game of the earlier version cannot be read and is',
                                     ' saved games of the earlier version cannot be read and are') + ' left out.');
      }
      return saves;
    },

    // Copies the earlier version's saves into the store, once: saves deleted since stay deleted.
    copyFolder: function (db) {
      const mark = db.transaction('marks').objectStore('marks').get(Saves.copied);
      return Saves.ended(mark.transaction).then(function () {
        if (mark.result) return null;
        return Saves.readFolder().then(function (folder) {
          const transaction = db.transaction(['saves', 'marks'], 'readwrite');
          const saves = transaction.objectStore('saves'), marks = transaction.objectStore('marks');
          marks.get(Saves.copied).onsuccess = function (copied) {
            if (copied.target.result) return; // by another tab, meanwhile
            folder.forEach(function (save) {
              // A save of that name kept since stays.
              saves.add(save).onerror = function (event) { event.preventDefault(); };
            });
            marks.put(true, Saves.copied);
          };
          return Saves.ended(transaction);
        });
      });
    },

    list: function (db) {
      const transaction = db.transaction('saves'), saves = transaction.objectStore('saves');
      // A record has its place in the list by its time; one without a time that is a number is damaged.
      const listed = saves.index('saved').getAllKeys(IDBKeyRange.upperBound(Infinity)), all = saves.count();
      return Saves.ended(transaction).then(function () {
        const names = listed.result.filter(function (name) { return typeof name === 'string'; }).reverse();
        const damaged = all.result - names.length;
        if (damaged && !Saves.damageTold) {
          Saves.damageTold = true;
          Saves.notes.push(Saves.count(damaged, 'A saved game cannot be read and is',
                                       ' saved games cannot be read and are') + ' left out of the list.');
        }
        const problem = Saves.notes.join(' ');
        Saves.notes = [];
        return [problem].concat(names);
      });
    },

    read: function (db, name) {
      const save = db.transaction('saves').objectStore('saves').get(name);
      return Saves.ended(save.transaction).then(function () {
        if (!save.result) throw 'The saved game is no longer there.';
        if (typeof save.result.plist !== 'string') throw 'The saved game is damaged: it holds no property list.';
        return [save.result.plist];
      });
    },

    remove: function (db, name) {
      const transaction = db.transaction('saves', 'readwrite');
      transaction.objectStore('saves').delete(name);
      return Saves.ended(transaction).then(function () { return []; });
    },

    // The bests' property list, if any: one text, or none. What is no text reads as damaged.
    readBests: function (db) {
      const get = db.transaction('marks').objectStore('marks').get(Saves.bests);
      return Saves.ended(get.transaction).then(function () {
        if (get.result === undefined) return [];
        return [typeof get.result === 'string' ? get.result : ''];
      });
    },

    keepBests: function (db, plist) {
      const transaction = db.transaction('marks', 'readwrite');
      transaction.objectStore('marks').put(plist, Saves.bests);
      return Saves.ended(transaction).finally(function () {
        // Unless a later write stashed its own meanwhile.
        try {
          if (localStorage.getItem(Saves.bestsStashed) === plist) {
            localStorage.removeItem(Saves.bestsStashed);
          }
        } catch (error) {
          // Never stashed.
        }
      });
    },

    // Keeps the bests a page closed before their transaction ended.
    keepBestsStash: function (db) {
      let plist = null;
      try {
        plist = localStorage.getItem(Saves.bestsStashed);
      } catch (error) {
        // no localStorage: nothing was stashed
      }
      if (plist === null) return Promise.resolve();
      return Saves.keepBests(db, plist).catch(function (error) {
        Saves.notes.push('Records kept as the page closed could not be written (' + Saves.reason(error) +
                         '); they are tried again at the next start.');
      });
    },

    // Moves the bests to a key of their own, and answers it.
    setBestsAside: function (db) {
      const transaction = db.transaction('marks', 'readwrite'), marks = transaction.objectStore('marks');
      const aside = Saves.bests + ' (damaged) ' + new Date().toISOString().slice(0, 19);
      marks.get(Saves.bests).onsuccess = function (found) {
        marks.put(found.target.result, aside);
        marks.delete(Saves.bests);
      };
      return Saves.ended(transaction).then(function () { return [aside]; });
    },

    // Hands the texts `work` answers, or why it failed, to the reply awaited as `ticket`.
    answer: function (ticket, work) {
      work.then(function (texts) { return [1, texts]; }, function (error) { return [0, [Saves.reason(error)]]; })
          .then(function (outcome) {
            Saves.withTexts(outcome[1], function (texts) {
              const array = _malloc(4 * texts.length);
              HEAPU32.set(texts, array >> 2);
              _lirvo_saves_answer(ticket, outcome[0], array, texts.length);
              _free(array);
            });
          });
    },
  },

  lirvo_saves_open__deps: ['$Saves'],
  lirvo_saves_open: function () {
    if (navigator.storage && navigator.storage.persist) navigator.storage.persist();
    Saves.ready = Saves.open().then(function (db) {
      return Saves.copyFolder(db).catch(function (error) {
        Saves.notes.push('The saved games of the earlier version could not be copied (' + Saves.reason(error) +
                         '); they are tried again at the next start.');
      }).then(function () { return Saves.keepStashes(db); }).then(function () {
        return Saves.keepBestsStash(db);
      }).then(function () { return db; });
    });
  },

  lirvo_saves_taken__deps: ['$Saves'],
  lirvo_saves_taken: function (name) { return Saves.taken.has(UTF8ToString(name)); },

  lirvo_saves_list__deps: ['$Saves'],
  lirvo_saves_list: function (ticket) { Saves.answer(ticket, Saves.ready.then(Saves.list)); },

  lirvo_saves_read__deps: ['$Saves'],
  lirvo_saves_read: function (ticket, name) {
    name = UTF8ToString(name);
    Saves.answer(ticket, Saves.ready.then(function (db) { return Saves.read(db, name); }));
  },

  lirvo_saves_write__deps: ['$Saves'],
  lirvo_saves_write: function (ticket, name, plist, ownEarlier, supersedes) {
    const save = {name: UTF8ToString(name), plist: UTF8ToString(plist), ownEarlier: UTF8ToString(ownEarlier),
                  supersedes: !!supersedes, saved: Date.now(), id: Saves.newId()};
    // At once, as the page may be on its way out.
    Saves.stash(save);
    Saves.answer(ticket, Saves.ready.then(function (db) { return Saves.keep(db, save); }).finally(function () {
      Saves.unstash(save.id);
    }).then(function (kept) { return [kept]; }));
  },

  lirvo_bests_read__deps: ['$Saves'],
  lirvo_bests_read: function (ticket) { Saves.answer(ticket, Saves.ready.then(Saves.readBests)); },

  lirvo_bests_write__deps: ['$Saves'],
  lirvo_bests_write: function (ticket, plist) {
    plist = UTF8ToString(plist);
    // At once, as the page may be on its way out.
    try {
      localStorage.setItem(Saves.bestsStashed, plist);
    } catch (error) {
      // Storage full or turned off: the records go on, only they cannot outlive the page.
    }
    Saves.answer(ticket, Saves.ready.then(function (db) { return Saves.keepBests(db, plist); }).then(function () {
      return [];
    }));
  },

  lirvo_bests_set_aside__deps: ['$Saves'],
  lirvo_bests_set_aside: function (ticket) { Saves.answer(ticket, Saves.ready.then(Saves.setBestsAside)); },

  lirvo_saves_remove__deps: ['$Saves'],
  lirvo_saves_remove: function (ticket, name) {
    name = UTF8ToString(name);
    Saves.answer(ticket, Saves.ready.then(function (db) { return Saves.remove(db, name); }));
  },
});
