// The Dialoscope extension: starts the language server for dialog scripts and message files,
// keeps files.encoding in step with the code page, and offers the dialog map and the walk.
import * as vscode from 'vscode';
import { LanguageClient, LanguageClientOptions, ServerOptions } from 'vscode-languageclient/node';
import { EditorEncoding, languages } from './encoding';
import { TMapView } from './map_view';
import { TPlayView } from './play_view';
import { ServerPath } from './programs';

let client: LanguageClient | undefined;

// Writes files.encoding for both languages where dialoscope.codePage itself is set (workspace
// or user settings), so a workspace's code page does not change the user's other workspaces.
async function SyncEncoding(): Promise<void> {
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

function ServerSettings(): { codePage: string; originalFolder: string } {
    const settings = vscode.workspace.getConfiguration('dialoscope');
    return {
        codePage: settings.get<string>('codePage') || 'windows-1252',
        originalFolder: settings.get<string>('originalFolder') || '',
    };
}

async function StartServer(): Promise<void> {
    const command = ServerPath();
    const serverOptions: ServerOptions = { run: { command }, debug: { command } };
    const clientOptions: LanguageClientOptions = {
        documentSelector: languages.map((language) => ({ scheme: 'file', language })),
        initializationOptions: ServerSettings(),
        // The client sends {settings: {dialoscope: {...}}} on every change of these settings.
        synchronize: { configurationSection: 'dialoscope' },
    };
    client = new LanguageClient('dialoscope', 'Dialoscope', serverOptions, clientOptions);
    try {
        await client.start();
    } catch (error) {
        vscode.window.showErrorMessage(
            `Dialoscope: cannot start the language server '${command}' (set dialoscope.serverPath): ${error}`);
    }
}

async function RestartServer(): Promise<void> {
    await client?.stop().catch(() => undefined);
    await StartServer();
}

// The server's "N uses" code lens runs this with the script's URI and the node name's position.
async function ShowReferences(uri: string, position: { line: number; character: number }): Promise<void> {
    const script = vscode.Uri.parse(uri);
    const at = new vscode.Position(position.line, position.character);
    const uses = await vscode.commands.executeCommand<vscode.Location[]>('vscode.executeReferenceProvider', script, at);
    await vscode.commands.executeCommand('editor.action.showReferences', script, at, uses ?? []);
}

function WithScriptEditor(run: (editor: vscode.TextEditor) => Promise<void>): () => Promise<void> {
    return async () => {
        const editor = vscode.window.activeTextEditor;
        if (editor?.document.languageId !== 'dialoscope-script') {
            vscode.window.showWarningMessage('Dialoscope: open a dialog script (.ipp) first.');
            return;
        }
        await run(editor);
    };
}

export async function activate(context: vscode.ExtensionContext): Promise<void> {
    const map = new TMapView();
    const play = new TPlayView();
    context.subscriptions.push(
        vscode.commands.registerCommand('dialoscope.showDialogMap', WithScriptEditor((e) => map.Show(e))),
        vscode.commands.registerCommand('dialoscope.playFromHere', WithScriptEditor((e) => play.Show(e))),
        vscode.commands.registerCommand('dialoscope.showReferences', ShowReferences),
        vscode.workspace.onDidChangeConfiguration(async (event) => {
            if (event.affectsConfiguration('dialoscope.codePage')) {
                await SyncEncoding();
            }
            if (event.affectsConfiguration('dialoscope.serverPath')) {
                await RestartServer();
            }
        }),
    );
    await SyncEncoding();
    await StartServer();
}

export async function deactivate(): Promise<void> {
    await client?.stop();
}
