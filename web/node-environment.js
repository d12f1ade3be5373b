// kelvarin-sim under node sees node's environment (KELVARIN_DATA_DIR among it), as the desktop
// program sees its own.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  if (typeof process !== 'undefined') Object.assign(ENV, process.env);
});
