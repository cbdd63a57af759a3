// The two programs the extension runs: the language server, and dialoscope-cli beside it for the
// dialog map and the walk through a dialog.
import { execFile } from 'child_process';
import * as fs from 'fs';
import * as path from 'path';
import * as vscode from 'vscode';

export function ServerPath(): string {
    return vscode.workspace.getConfiguration('dialoscope').get<string>('serverPath') || 'dialoscope-lsp';
}

// A bare program name is looked up on the PATH, and so is the CLI then.
export function CliPath(): string {
    const server = ServerPath();
    return server.includes(path.sep) ? path.join(path.dirname(server), 'dialoscope-cli') : 'dialoscope-cli';
}

// The project is the folder of scripts.lst: the script's own folder or the nearest one above it,
// up to the workspace folder.
export function FindScriptList(script: vscode.Uri): string | undefined {
    const root = vscode.workspace.getWorkspaceFolder(script)?.uri.fsPath;
    for (let folder = path.dirname(script.fsPath); ; folder = path.dirname(folder)) {
        const list = path.join(folder, 'scripts.lst');
        if (fs.existsSync(list)) {
            return list;
        }
        if (root === undefined || folder === root || path.dirname(folder) === folder) {
            return undefined;
        }
    }
}

export interface TCliResult {
    stdout: string;
    stderr: string;
    status: number;
}

// Runs dialoscope-cli COMMAND SCRIPT ARGS... with the project's list and the code page.
export function RunCli(command: string, script: vscode.Uri, args: string[]): Promise<TCliResult> {
    const settings = vscode.workspace.getConfiguration('dialoscope');
    const global = ['--code-page', settings.get<string>('codePage') || 'windows-1252'];
    const list = FindScriptList(script);
    if (list !== undefined) {
        global.push('--scripts-lst', list);
    }
    const argv = [...global, command, script.fsPath, ...args];
    return new Promise((resolve, reject) => {
        execFile(CliPath(), argv, { maxBuffer: 64 << 20 }, (error, stdout, stderr) => {
            if (error && typeof error.code !== 'number') {
                reject(new Error(`Cannot run ${CliPath()}: ${error.message}`));
                return;
            }
            resolve({ stdout, stderr, status: error ? Number(error.code) : 0 });
        });
    });
}

// The programs read the file on disk: say so while the editor holds changes not yet saved.
export function UnsavedNote(script: vscode.Uri): string {
    const document = vscode.workspace.textDocuments.find((d) => d.uri.toString() === script.toString());
    return document?.isDirty ? ' (as last saved)' : '';
}
