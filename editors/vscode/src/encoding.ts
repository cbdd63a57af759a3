// The editor's files.encoding for a code page named as the server and dialoscope-cli name it
// (an ICU converter name). Both languages read and write their files in that encoding, so the
// bytes the server analyses are the bytes on disk.
import * as vscode from 'vscode';

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
    const cp = /^cp(12[5][0-8])$/.exec(key);
    const name = aliases[key] ?? (cp ? `windows${cp[1]}` : key);
    return editorEncodings.has(name) ? name : undefined;
}

// Writes files.encoding for both languages where dialoscope.codePage itself is set (workspace
// or user settings), so a workspace's code page does not change the user's other workspaces.
export async function SyncEncoding(): Promise<void> {
    const setting = vscode.workspace.getConfiguration('dialoscope').inspect<string>('codePage');
    const codePage = setting?.workspaceValue ?? setting?.globalValue;
    if (codePage === undefined) {
        return;
    }
    const encoding = EditorEncoding(codePage);
    if (encoding === undefined) {
        return;
    }
    const target = setting?.workspaceValue !== undefined
        ? vscode.ConfigurationTarget.Workspace : vscode.ConfigurationTarget.Global;
    for (const languageId of languages) {
        const files = vscode.workspace.getConfiguration('files', { languageId });
        if (files.get<string>('encoding') !== encoding) {
            await files.update('encoding', encoding, target, true);
        }
    }
}
