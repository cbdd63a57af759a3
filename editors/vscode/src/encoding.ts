// The editor's files.encoding for a code page named as the server and dialoscope-cli name it
// (an ICU converter name). Both languages read and write their files in that encoding, so the
// bytes the server analyses are the bytes on disk. No vscode import: the tests load it in Node.

export const languages = ['dialoscope-script', 'dialoscope-messages'];

// The editor knows fewer encodings than ICU: a name it does not know leaves files.encoding alone.
const editorEncodings = new Set([
    'windows1250', 'windows1251', 'windows1252', 'windows1253', 'windows1254', 'windows1255',
    'windows1256', 'windows1257', 'windows1258', 'windows874', 'iso88591', 'iso88592',
    'iso88593', 'iso88594', 'iso88595', 'iso88596', 'iso88597', 'iso88598', 'iso88599',
    'iso885910', 'iso885911', 'iso885913', 'iso885914', 'iso885915', 'iso885916', 'cp437',
    'cp850', 'cp852', 'cp865', 'cp866', 'cp1125', 'koi8r', 'koi8u', 'koi8ru', 'koi8t',
    'macroman', 'utf8', 'gbk', 'gb18030', 'gb2312', 'big5hkscs', 'shiftjis', 'eucjp', 'euckr',
]);

const aliases: Record<string, string> = {
    latin1: 'iso88591', ibm866: 'cp866', ibm437: 'cp437', ibm850: 'cp850', ibm852: 'cp852',
    macintosh: 'macroman', sjis: 'shiftjis',
};

export function EditorEncoding(codePage: string): string | undefined {
    const key = codePage.toLowerCase().replace(/[-_ ]/g, '');
    const cp = /^cp(125[0-8])$/.exec(key);
    const name = aliases[key] ?? (cp ? `windows${cp[1]}` : key);
    return editorEncodings.has(name) ? name : undefined;
}
