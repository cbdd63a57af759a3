// The pieces of the VS Code extension that need no editor, compiled as the .vsix holds them: the
// code page to files.encoding table, and Play from Here's reading of the choices in the real
// `dialoscope-cli play` output (a change of that output must not leave the view without buttons).
//   node extension_parts.js EXTENSION_OUT_DIR DIALOSCOPE_CLI EXAMPLES_DIR
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const path = require('node:path');

const [out, cli, examples] = process.argv.slice(2);
const { EditorEncoding } = require(path.join(out, 'encoding.js'));
const { LastChoices } = require(path.join(out, 'transcript.js'));

const encodings = [
    ['windows-1252', 'windows1252'], ['cp1251', 'windows1251'], ['ibm-866', 'cp866'],
    ['ISO-8859-2', 'iso88592'], ['KOI8-R', 'koi8r'], ['UTF-8', 'utf8'],
    ['auto', undefined], ['x-no-such-page', undefined],
];

// The walk's start and choices, and the choices its last position offers.
const walks = [
    [['AskTown'], ['109 And the smith? -> AskSmith', '110 Ich möchte etwas anderes fragen. -> Greeting']],
    [['PayToll'], ['116 Guten Tag. -> Farewell', 'goes on to NoMoney (called in the code, line 49)']],
    [['AskTown', '2'], ['102 Erzählt mir von der Stadt. -> AskTown', '103 Gibt es einen Schmied in der Stadt? -> AskSmith',
        '104 Ich möchte durch das Tor. -> PayToll', '105 Schon gut. Lebt wohl. -> Farewell']],
    [['AskTown', '2,4'], []],
];

let failed = 0;
const check = (name, run) => {
    try {
        run();
    } catch (error) {
        console.log(`FAIL ${name}: ${error.message}`);
        failed++;
    }
};
for (const [codePage, expected] of encodings) {
    check(`encoding ${codePage}`, () => assert.equal(EditorEncoding(codePage), expected));
}
for (const [[start, choose], expected] of walks) {
    check(`play ${start} ${choose ?? ''}`, () => {
        const transcript = execFileSync(cli, ['--scripts-lst', path.join(examples, 'scripts.lst'), 'play',
            path.join(examples, 'de', 'guard.ipp'), '--start', start, '--texts', ...(choose ? ['--choose', choose] : [])],
            { encoding: 'utf8' });
        assert.deepEqual(LastChoices(transcript), expected.map((caption, i) => ({ number: String(i + 1), caption })));
    });
}
const total = encodings.length + walks.length;
console.log(`${total - failed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
